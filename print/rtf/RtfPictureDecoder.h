#pragma once

#include "print/rtf/RtfSink.h"

#include <QImage>

namespace dayvell::rtf {

// The image of an RTF picture: PNG, JPEG, a device-independent bitmap, or a metafile that draws one.
// Null for other formats and for data that is broken or declares more than maxPixels pixels: a small
// picture may declare a huge image, and decoders reserve what PNG chunks claim before reading them.
class RtfPictureDecoder {
public:
    static constexpr qint64 maxPixels = 40'000'000;

    static QImage decode(const RtfPicture& picture);
};

}
