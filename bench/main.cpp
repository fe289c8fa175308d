// The benchmark program: `gre-bench` runs every benchmark, `gre-bench <name>...` those named.
#include "benchkit.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList wanted = app.arguments().mid(1);
    std::printf("Building the table of %d words...\n", bench::kWords);
    bench::templateDatabase();
    for (const auto& b : bench::registry()) {
        if (!wanted.isEmpty() && !wanted.contains(b.name))
            continue;
        std::printf("%s\n", qPrintable(b.name));
        b.run();
    }
    return 0;
}
