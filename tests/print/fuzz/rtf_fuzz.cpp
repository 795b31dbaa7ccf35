// Drives the whole RTF codec with arbitrary bytes: plain-text extraction, reading into a document,
// writing that document and reading the result again, which must give the same text.
#include "print/rtf/RtfPlainText.h"
#include "print/rtf/RtfReader.h"
#include "print/rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // Image decoders complain loudly about broken pictures; the noise only slows the fuzzer down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView rtf(data, static_cast<qsizetype>(size));
    dayvell::rtf::rtfToPlainText(rtf);

    QTextDocument document;
    dayvell::rtf::readRtf(rtf, document);
    const QByteArray written = dayvell::rtf::writeRtf(document);

    QTextDocument reread;
    dayvell::rtf::readRtf(written, reread);
    if (reread.toPlainText() != document.toPlainText()) {
        std::fprintf(stderr, "Text changed by writing and reading again:\n%s\n%s\n",
                     qPrintable(document.toPlainText()), qPrintable(reread.toPlainText()));
        std::abort();
    }
    return 0;
}
