#!/usr/bin/env python3
"""Which fast tests kill which planted faults, and what dropping tests would cost.

  tools/kill-matrix.py run [--n 200] [--seed S] [--dirs clock,display,entry,settings,app] OUT
      Plants faults with ../shared/tools/mutate.py's operators in a copy of this checkout and
      appends one JSON line per fault to OUT: where, the change, and the ctest tests it failed.
  tools/kill-matrix.py holdout OUT...
      Splits the faults in two, five ways. On one half it drops, largest first, every core test
      whose faults another test still kills; it prints the lines that frees and the score of the
      tests left on the other half, then each test that no fault in the whole sample needs alone.
"""
import argparse, importlib.util, json, os, random, re, shutil, subprocess

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Tests that see what planted faults in the core cannot: other platforms, timing, permissions.
NOT_CORE = re.compile(r'windows_e2e|posix_test|differential|resources_test|win32_layer|stress|tick_posix|gtk/')


def run(args):
    found = importlib.util.spec_from_file_location('mutate', os.path.join(TOP, '../shared/tools/mutate.py'))
    m = importlib.util.module_from_spec(found)
    found.loader.exec_module(m)
    work = '/tmp/kill-matrix'
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(TOP, work, ignore=shutil.ignore_patterns('build', 'dist', '.git'))
    if m.run('cmake --preset linux && cmake --build --preset linux', work, 1800) != 0:
        raise SystemExit('baseline build failed')
    failed = os.path.join(work, 'build/linux/Testing/Temporary/LastTestsFailed.log')
    faults = m.mutants(work, args.dirs.split(','))
    random.Random(args.seed).shuffle(faults)
    done = 0
    with open(args.out, 'a') as out:
        for rel, i, s, e, rep in faults:
            if done >= args.n:
                break
            path = os.path.join(work, rel)
            original = open(path).read()
            lines = original.split('\n')
            before = lines[i]
            lines[i] = before[:s] + rep + before[e:] if rep != '/* deleted */' else rep
            open(path, 'w').write('\n'.join(lines))
            try:
                if m.run('cmake --build --preset linux', work, 900) != 0:
                    continue  # does not compile: not counted
                done += 1
                if os.path.exists(failed):
                    os.remove(failed)
                m.run("ctest --preset linux -j2 --timeout 60 -E 'TickSource|ClockStress'", work, 600)
                fails = [l.strip().split(':', 1)[1] for l in open(failed)] if os.path.exists(failed) else []
                out.write(json.dumps({'where': f'{rel}:{i + 1}', 'before': before.strip(),
                                      'after': lines[i].strip(), 'fails': fails}) + '\n')
                out.flush()
                print(done, rel, i + 1, len(fails), flush=True)
            finally:
                open(path, 'w').write(original)


def test_lines():
    """Counted lines of each TEST block, as the test ratio counts them, and its file."""
    files = subprocess.run(['git', 'ls-files', 'tests/*.cpp', 'platform/*/tests/*.cpp'], cwd=TOP,
                           capture_output=True, text=True).stdout.split()
    sizes, current = {}, None
    for f in files:
        for line in open(os.path.join(TOP, f)):
            m = re.match(r'TEST(?:_F)?\((\w+), (\w+)\)', line)
            if m:
                current = m.group(1) + '.' + m.group(2)
                sizes[current] = [0, f]
            if current and line.strip() and not line.strip().startswith('//'):
                sizes[current][0] += 1
            if line.startswith('}'):
                current = None
    return sizes


def holdout(args):
    faults, seen = [], set()
    for name in args.out:
        for line in open(name):
            r = json.loads(line)
            key = (r['where'], r['after'])
            if key not in seen and not r['where'].startswith('platform/'):
                seen.add(key)
                faults.append(r)
    sizes = test_lines()
    core = [t for t, (n, f) in sizes.items() if not NOT_CORE.search(f)]
    killed_by = lambda r, kept: any(t in kept or t not in core for t in r['fails'])

    def prune(train):
        kept = set(core)
        for t in sorted(core, key=lambda t: -sizes[t][0]):
            if all(killed_by(r, kept - {t}) for r in train if r['fails']):
                kept.discard(t)
        return kept

    print(f'{len(faults)} faults in the core, {sum(bool(r["fails"]) for r in faults)} killed')
    for split in range(5):
        shuffled = faults[:]
        random.Random(split).shuffle(shuffled)
        train, test = shuffled[:len(faults) // 2], shuffled[len(faults) // 2:]
        kept = prune(train)
        freed = sum(sizes[t][0] for t in core if t not in kept)
        print(f'split {split}: {freed} lines dropped; held-out score '
              f'{sum(bool(r["fails"]) for r in test)}/{len(test)} -> '
              f'{sum(killed_by(r, kept) for r in test)}/{len(test)}')
    print('tests no fault needs alone:')
    for t in sorted(core, key=lambda t: -sizes[t][0]):
        if not any(r['fails'] == [t] for r in faults):
            print(f'  {sizes[t][0]:3d} {t}')


parser = argparse.ArgumentParser()
sub = parser.add_subparsers(dest='command', required=True)
p = sub.add_parser('run')
p.add_argument('--n', type=int, default=200)
p.add_argument('--seed', type=int, default=1)
p.add_argument('--dirs', default='clock,display,entry,settings,app')
p.add_argument('out')
sub.add_parser('holdout').add_argument('out', nargs='+')
args = parser.parse_args()
run(args) if args.command == 'run' else holdout(args)
