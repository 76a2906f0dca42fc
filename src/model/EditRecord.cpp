#include "model/EditRecord.h"

namespace velantro {

const char* OriginName(EditOrigin origin) {
  switch (origin) {
    case EditOrigin::System:
      return "system";
    case EditOrigin::Slider:
      return "slider";
    case EditOrigin::Typed:
      return "typed";
    case EditOrigin::Key:
      return "key";
    case EditOrigin::Wheel:
      return "wheel";
    case EditOrigin::Spin:
      return "spin";
    case EditOrigin::Click:
      return "click";
    case EditOrigin::GraphDrag:
      return "graph drag";
    case EditOrigin::Reset:
      return "reset";
    case EditOrigin::Preset:
      return "preset";
    case EditOrigin::Revert:
      return "revert";
    case EditOrigin::Undo:
      return "undo";
  }
  return "?";
}

}  // namespace velantro
