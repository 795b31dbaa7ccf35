#pragma once

namespace dayvell::bench {

// Call before the application object is created. Runs the toolkit on the
// offscreen platform unless QT_QPA_PLATFORM names another, and repaints as
// soon as asked unless QT_QPA_UPDATE_IDLE_TIME says otherwise: by default the
// platform paces repaints with a 5 ms timer, which would be measured as if it
// were work. Child processes inherit both settings. The offscreen platform's
// notices about window features it lacks are kept out of the output.
void useBenchPlatform();

} // namespace dayvell::bench
