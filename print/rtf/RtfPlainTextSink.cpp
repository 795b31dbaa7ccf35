#include "print/rtf/RtfPlainTextSink.h"

namespace dayvell::rtf {

void RtfPlainTextSink::text(QStringView text, const RtfCharacterState&, const RtfParagraphState&)
{
    startContent();
    const qsizetype start = m_text.size();
    m_text.append(text);
    if (text.contains(QChar(0x2028))) {
        QChar* data = m_text.data();
        for (qsizetype i = start; i < m_text.size(); ++i) {
            if (data[i] == QChar(0x2028))
                data[i] = u'\n';
        }
    }
}

void RtfPlainTextSink::picture(const RtfPicture&, const RtfCharacterState&, const RtfParagraphState&)
{
    startContent();
}

void RtfPlainTextSink::paragraphEnd(const RtfCharacterState&, const RtfParagraphState&)
{
    m_text.append(u'\n');
    m_lineHasContent = false;
    m_cellSeparatorPending = false;
}

void RtfPlainTextSink::pageBreak(const RtfCharacterState& character, const RtfParagraphState& paragraph)
{
    if (m_lineHasContent)
        paragraphEnd(character, paragraph);
}

void RtfPlainTextSink::cellEnd(const RtfCharacterState&, const RtfParagraphState&)
{
    if (m_cellSeparatorPending)
        m_text.append(u'\t');
    m_cellSeparatorPending = true;
    m_lineHasContent = true;
}

void RtfPlainTextSink::rowEnd()
{
    m_text.append(u'\n');
    m_lineHasContent = false;
    m_cellSeparatorPending = false;
}

void RtfPlainTextSink::documentEnd(const RtfCharacterState&, const RtfParagraphState&)
{
}

void RtfPlainTextSink::startContent()
{
    if (m_cellSeparatorPending) {
        m_text.append(u'\t');
        m_cellSeparatorPending = false;
    }
    m_lineHasContent = true;
}

}
