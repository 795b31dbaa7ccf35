#pragma once

#include <QByteArray>

// Diary entries as word processors write them: a WordPad-style header with font and colour tables,
// then paragraphs of ordinary prose with some bold, italic, coloured and accented words.
QByteArray typicalRtfEntry(int approximateBytes);
