// Precompiled for the window's libraries and tests: the Qt headers nearly
// every widget source includes, and the standard library around them.
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QtCore>
#include <QtGui>
#include <QtWidgets>
#include <qcustomplot.h>
