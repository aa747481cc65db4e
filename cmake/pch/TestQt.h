// Precompiled for the test executables that open widgets. QTest is left out:
// it bakes in a per-folder build path macro, so it cannot be shared.
#pragma once

#include "Test.h"
#include "QtWidgets.h"

#include <QTemporaryDir>
