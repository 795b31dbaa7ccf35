#pragma once

#include "print/rtf/RtfOutput.h"
#include "print/rtf/RtfWriterTables.h"

#include <QByteArray>
#include <QString>

class QImage;
class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class QTextFragment;
class QTextFrame;
class QTextImageFormat;
class QTextTable;

namespace dayvell::rtf {

// Writes one QTextDocument as RTF: header and tables, then its paragraphs, tables, images and links.
class RtfDocumentWriter {
public:
    explicit RtfDocumentWriter(const QTextDocument& document);

    QByteArray write();

private:
    enum class BlockEnd { None, Paragraph, Cell };

    void writeHeader();
    void writeFrame(const QTextFrame* frame, bool inTable, const QTextBlock& lastBlock);
    void writeTable(const QTextTable* table);
    void writeRowDefinition(const QTextTable* table);
    void writeBlock(const QTextBlock& block, bool inTable, BlockEnd end);
    void writeListMarker(const QTextBlock& block);
    void writeParagraphFormat(const QTextBlockFormat& format, bool inTable);
    void writeCharacterFormat(const QTextCharFormat& format);
    void writeFragment(const QTextFragment& fragment);
    void writeImage(const QTextImageFormat& format);
    void switchLink(const QString& target);

    const QTextDocument& m_document;
    RtfWriterTables m_tables;
    RtfOutput m_out;
    QString m_openLink;
};

}
