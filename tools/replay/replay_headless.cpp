// The native runner runs scripts on the headless face.
#include "replay_face.h"

namespace bk {

std::unique_ptr<ReplayFace> makeReplayFace() { return makeHeadlessReplayFace(); }

}  // namespace bk
