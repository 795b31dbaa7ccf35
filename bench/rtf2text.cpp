// rtf2text FILE: prints the plain text of an RTF file as the search across entries sees it.
#include "print/rtf/RtfPlainText.h"

#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtf2text FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtf2text: cannot read %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    const QByteArray text = dayvell::rtf::rtfToPlainText(file.readAll()).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fputc('\n', stdout);
    return 0;
}
