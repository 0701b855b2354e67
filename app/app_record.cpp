#include "app/app_record.h"

AppRecord g_app;
