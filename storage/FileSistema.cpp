#include "FileSistema.h"
