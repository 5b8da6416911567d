// The program's one application object.
#include "core/QxUI2008App.h"

CQxUI2008App theApp;
