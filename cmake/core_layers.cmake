# A call from one core folder to a folder above or beside it fails to link.
# Linking the programs cannot show it: a static library's member that some
# other call has already brought in satisfies a call from below as well. So
# each core library is linked whole into a program of its own, with only the
# libraries it is linked to (the ones below it) and the fakes of the platform
# functions it calls; a call to anything else is left unresolved.
function(mox_check_layer layer)
  add_executable(mox_layer_${layer} ${CMAKE_SOURCE_DIR}/cmake/layer_check.cpp
                                    $<TARGET_OBJECTS:mox_fake_window> ${ARGN})
  target_link_libraries(mox_layer_${layer} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,mox_${layer}>"
                                                   mox_fake_tick)
endfunction()

mox_check_layer(clock)
mox_check_layer(entry)
mox_check_layer(display)
mox_check_layer(settings $<TARGET_OBJECTS:mox_fake_profile>)
mox_check_layer(app $<TARGET_OBJECTS:mox_fake_profile> $<TARGET_OBJECTS:mox_fake_repaint>
                    $<TARGET_OBJECTS:mox_fake_shell>)
