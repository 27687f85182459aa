#pragma once
// The application the painting benchmarks need, made once.
#include <QGuiApplication>

inline void KVRBenchApp()
{
    static int argc = 1;
    static char name[] = "kvr_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
}
