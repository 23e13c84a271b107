// Compiled with the include folders of the platform library only; it must not find Form1.
#include "form/form1.h"
