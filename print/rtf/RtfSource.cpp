#include "print/rtf/RtfSource.h"

#include "print/rtf/RtfCodePage.h"
#include "print/rtf/RtfInterpreter.h"
#include "print/rtf/RtfTextCleanup.h"

#include <QStringDecoder>

namespace dayvell::rtf {

namespace {

QString decodePlainText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    RtfTextDecoder decoder;
    decoder.decode(bytes, 1252, text);
    return text;
}

void feedPlainText(QByteArrayView bytes, RtfSink& sink)
{
    QString text = decodePlainText(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    const RtfCharacterState character;
    const RtfParagraphState paragraph;
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i].toString();
        cleanUpText(line);
        if (!line.isEmpty())
            sink.text(line, character, paragraph);
        if (i + 1 < lines.size())
            sink.paragraphEnd(character, paragraph);
    }
    sink.documentEnd(character, paragraph);
}

}

bool looksLikeRtf(QByteArrayView bytes)
{
    qsizetype pos = 0;
    while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\t' || bytes[pos] == '\r'
                                  || bytes[pos] == '\n'))
        ++pos;
    return bytes.sliced(pos).startsWith("{\\rtf");
}

void readRtfInto(QByteArrayView rtf, RtfTables& tables, RtfSink& sink)
{
    if (looksLikeRtf(rtf))
        RtfInterpreter(tables, sink).run(rtf);
    else
        feedPlainText(rtf, sink);
}

}
