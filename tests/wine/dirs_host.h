// Controls of the directory dialogs' test host.
#pragma once

#include "resources/base/dirs.h"

#define IDC_HOST_DIR 100
#define IDC_HOST_BUSCAR 101
#define IDC_HOST_ACEPTAR 102
#define IDC_HOST_RESULT 103
