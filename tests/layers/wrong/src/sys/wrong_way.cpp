// Three includes the layers refuse, one of each kind.
#include "../disk/detail/disk_io.h"
#include "disk/detail/disk_io.h"
#include "form/form1.h"
