#include "ui/CDpiEdit.h"

IMPLEMENT_DYNAMIC(CDpiEdit, CEdit)
