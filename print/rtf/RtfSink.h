#pragma once

#include "print/rtf/RtfState.h"

#include <QByteArray>
#include <QStringView>

namespace dayvell::rtf {

// Bitmap: a device-independent bitmap (\dibitmap); Metafile: a Windows metafile (\wmetafile).
enum class RtfPictureFormat { Unsupported, Png, Jpeg, Bitmap, Metafile };

struct RtfPicture {
    RtfPictureFormat format = RtfPictureFormat::Unsupported;
    QByteArray data;
    int goalWidthTwips = 0;
    int goalHeightTwips = 0;
    int scaleXPercent = 100;
    int scaleYPercent = 100;
};

// Receives what the interpreter reads, in document order. Formatting comes as the states in force;
// their numbers refer to the RtfTables the interpreter fills.
class RtfSink {
public:
    virtual ~RtfSink() = default;

    virtual void text(QStringView text, const RtfCharacterState& character,
                      const RtfParagraphState& paragraph) = 0;
    virtual void picture(const RtfPicture& picture, const RtfCharacterState& character,
                         const RtfParagraphState& paragraph) = 0;
    virtual void paragraphEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) = 0;
    virtual void pageBreak(const RtfCharacterState& character, const RtfParagraphState& paragraph) = 0;
    virtual void cellEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) = 0;
    virtual void rowEnd() = 0;
    // The last paragraph, which no \par ends.
    virtual void documentEnd(const RtfCharacterState& character, const RtfParagraphState& paragraph) = 0;
};

}
