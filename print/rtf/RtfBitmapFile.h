#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace dayvell::rtf {

// A Windows device-independent bitmap (the bytes after a BMP file's header) made into a BMP file, or
// an empty array when its header is not sound.
QByteArray bmpFileFromDib(QByteArrayView dib);

// The first bitmap a Windows metafile draws (StretchDIBits, DIBStretchBlt or DIBBitBlt), as a BMP file;
// empty when the metafile draws none. Word processors wrap pasted pictures in such metafiles.
QByteArray bmpFileFromMetafile(QByteArrayView metafile);

}
