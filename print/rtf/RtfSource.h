#pragma once

#include <QByteArrayView>

namespace dayvell::rtf {

class RtfSink;
class RtfTables;

// Feeds a sink from RTF, or, when the bytes do not start like RTF, from them as plain text
// (UTF-8 when they are valid UTF-8, otherwise code page 1252), one paragraph per line.
void readRtfInto(QByteArrayView rtf, RtfTables& tables, RtfSink& sink);

// True when the bytes start, after white space, with "{\rtf".
bool looksLikeRtf(QByteArrayView bytes);

}
