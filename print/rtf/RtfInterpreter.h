#pragma once

#include "print/rtf/RtfCodePage.h"
#include "print/rtf/RtfKeyword.h"
#include "print/rtf/RtfSink.h"
#include "print/rtf/RtfState.h"
#include "print/rtf/RtfTables.h"
#include "print/rtf/RtfTokenizer.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <vector>

namespace dayvell::rtf {

// Reads RTF tokens, keeps the group and destination states, fills the tables and hands the document's
// content to a sink. Malformed input never stops it: it reads in one pass, keeps at most maxGroupDepth
// group states (deeper groups share the deepest state) and ends at the end of the input.
class RtfInterpreter {
public:
    static constexpr std::size_t maxGroupDepth = 512;

    RtfInterpreter(RtfTables& tables, RtfSink& sink);

    void run(QByteArrayView rtf);

private:
    void dispatch(const RtfToken& token);
    bool consumeUnicodeFallback(const RtfToken& token);
    void skipToken(const RtfToken& token);

    void openGroup();
    void closeGroup();
    void enterSkippedDestination();
    void finishDocument(const RtfGroupState& root);

    void controlWord(RtfKeyword keyword, bool hasParameter, int parameter);
    bool destinationWord(RtfKeyword keyword);
    bool documentWord(RtfKeyword keyword, bool hasParameter, int parameter);
    void textWord(RtfKeyword keyword, bool hasParameter, int parameter);
    void characterWord(RtfKeyword keyword, bool hasParameter, int parameter);
    void paragraphWord(RtfKeyword keyword, bool hasParameter, int parameter);
    void fontTableWord(RtfKeyword keyword, int parameter);
    void colourTableWord(RtfKeyword keyword, int parameter);
    void pictureWord(RtfKeyword keyword, int parameter);
    void controlSymbol(unsigned char symbol);

    void textBytes(QByteArrayView bytes);
    void appendCharacter(char16_t character);
    void appendDecoded(QByteArrayView bytes);
    void fontNameBytes(QByteArrayView bytes);
    void colourTableBytes(QByteArrayView bytes);
    void pictureBytes(QByteArrayView bytes);
    void binaryData(QByteArrayView bytes);

    QString* textTarget();
    void prepareTextRun();
    void flushText();
    void endParagraph();
    void emitPicture(const RtfGroupState& pictureGroup);
    int linkOfField(int field);
    int currentCodePage() const;

    RtfGroupState& state() { return m_groups.back(); }

    RtfTables& m_tables;
    RtfSink& m_sink;
    RtfTextDecoder m_decoder;

    std::vector<RtfGroupState> m_groups;
    int m_untrackedDepth = 0;
    int m_skippedDepth = 0;
    int m_unicodeFallbackLeft = 0;
    bool m_nextDestinationIgnorable = false;
    bool m_groupJustOpened = false;   // no token but \* since the last '{'
    bool m_wordStartsGroup = false;   // the control word being handled came first in its group
    bool m_finished = false;

    QString m_text;
    bool m_textNeedsCleanUp = false;   // m_text may hold characters cleanUpText removes
    RtfCharacterState m_textCharacter;
    RtfParagraphState m_textParagraph;

    int m_fontBeingDeclared = -1;
    bool m_fontNameComplete = true;

    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colourGiven = false;

    RtfPicture m_picture;
    std::size_t m_pictureDepth = 0;
    int m_pendingNibble = -1;

    QList<QString> m_fieldInstructions;
    QList<int> m_fieldLinks;
};

}
