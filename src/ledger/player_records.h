// A player's money moves as the ledger records them, and the messages the player handlers
// share.
#pragma once

#include "betting/text.h"

namespace bk {

struct App;

// Each appends its entry to the player's record in today's ledger and moves the stored
// balance by the amount. A player without a record today leaves the file as it was.
// False only when the ledger could not be read or written.
bool recordRecharge(App& app, const Text& name, const Text& amountText);
bool recordWithdrawal(App& app, const Text& name, const Text& amountText);

extern const char* const kMessageSaveFailed;      // "数据保存失败！"
extern const char* const kMessageIllegalContent;  // "内容含有非法字符！"

}  // namespace bk
