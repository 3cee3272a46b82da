#include "ui/app/QtText.h"
