#pragma once

#include "print/rtf/RtfSink.h"

namespace dayvell::rtf {

// True when the picture data is well enough formed to hand to an image decoder. PNG chunks whose
// stated length runs past the data are refused: decoders allocate what a chunk claims before reading it.
bool isDecodablePicture(const RtfPicture& picture);

}
