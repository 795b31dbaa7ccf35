// Test helper: asks for the single-instance marker named on the command line
// and prints "first" (then keeps running and holding it) or "running".
#include "app/SingleInstance.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2)
        return 2;
    if (dayvell::IsAlreadyRunning(QString::fromLocal8Bit(argv[1]))) {
        std::puts("running");
        return 0;
    }
    std::puts("first");
    std::fflush(stdout);
    for (;;)
        ::pause();
}
