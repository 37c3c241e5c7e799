#include "editor/MainForm.h"
