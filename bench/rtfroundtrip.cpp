// rtfroundtrip IN OUT: reads an RTF file into a document and writes the document out again as RTF.
#include "print/rtf/RtfReader.h"
#include "print/rtf/RtfWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rtfroundtrip IN OUT\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtfroundtrip: cannot read %s: %s\n", argv[1], qPrintable(input.errorString()));
        return 1;
    }
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    dayvell::rtf::readRtf(input.readAll(), document);

    QFile output(QString::fromLocal8Bit(argv[2]));
    const QByteArray rtf = dayvell::rtf::writeRtf(document);
    if (!output.open(QIODevice::WriteOnly) || output.write(rtf) != rtf.size() || !output.flush()) {
        std::fprintf(stderr, "rtfroundtrip: cannot write %s: %s\n", argv[2], qPrintable(output.errorString()));
        return 1;
    }
    return 0;
}
