#pragma once
// The one QApplication of keldor-bench, whichever benchmark comes first:
// made once (an inline function has one static across the files) and never
// destroyed, as Qt must not be torn down after main has returned.

#include <QApplication>

inline QApplication& benchApplication()
{
    static int argc = 1;
    static char name[] = "keldor-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
