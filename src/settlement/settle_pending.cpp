// Temporary: the settlement handlers until their work lands; removed with it.
#include "shell/events.h"

namespace bk {

void settleAll(App&) {}
void settleSelected(App&) {}

}  // namespace bk
