#pragma once

#include "platform/DialogTemplate.h"

// The program's dialog and form templates, by resource number.
const DialogTemplate& Dialog317(); // timed message ("Error" and others)
