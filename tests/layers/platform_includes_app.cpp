// Compiled with the include folders of the platform library only; it must not find Form1.
#include "app/form1.h"
