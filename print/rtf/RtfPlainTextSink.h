#pragma once

#include "print/rtf/RtfSink.h"

#include <QString>

namespace dayvell::rtf {

// Collects the text alone: paragraphs and line breaks become '\n', table cells are separated by '\t'
// and rows end with '\n'. Pictures leave nothing.
class RtfPlainTextSink final : public RtfSink {
public:
    void text(QStringView text, const RtfCharacterState& character, const RtfParagraphState& paragraph) override;
    void picture(const RtfPicture& picture, const RtfCharacterState& character,
                 const RtfParagraphState& paragraph) override;
    void paragraphEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) override;
    void pageBreak(const RtfCharacterState& character, const RtfParagraphState& paragraph) override;
    void cellEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) override;
    void rowEnd() override;
    void documentEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) override;

    void reserve(qsizetype characters) { m_text.reserve(characters); }
    QString takeText() { return std::move(m_text); }

private:
    void startContent();

    QString m_text;
    bool m_lineHasContent = false;
    bool m_cellSeparatorPending = false;
};

}
