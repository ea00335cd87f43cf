#include "betting/bet_content.h"

namespace bk {

namespace {

const char* const kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};

struct Keyword {
    const char* text;
    BetKind kind;
};

// Order matters: within a group the first keyword the item contains wins.
const Keyword kChainKeywords[] = {
    {"二连", BetKind::TwoRun},
    {"三连", BetKind::ThreeRun},
    {"四连", BetKind::FourRun},
    {"五连", BetKind::FiveRun},
};

const Keyword kAttributeKeywords[] = {
    {"大", BetKind::Big},    {"小", BetKind::Small}, {"单", BetKind::Odd}, {"双", BetKind::Even},
    {"龙", BetKind::Dragon}, {"虎", BetKind::Tiger}, {"和", BetKind::Tie},
};

bool isChainItem(const Text& item) {
    for (const Keyword& k : kChainKeywords) {
        if (containsText(item, k.text)) return true;
    }
    return false;
}

}  // namespace

RecognisedItem recogniseItem(const Text& item) {
    RecognisedItem result;

    if (!isChainItem(item)) {
        for (const char* digit : kDigits) {
            if (containsText(item, Text(digit) + "/")) {
                result.position = PositionBet{digit, textToNumber(textAfterLast(item, "/"))};
                break;
            }
        }
    }

    for (const Keyword& k : kChainKeywords) {
        const int at = findText(item, k.text);
        if (at < 0) continue;
        const int afterKeyword = at + textLength(k.text);
        const int slash = findText(item, "/", afterKeyword);
        const Text pattern = slash > 0 ? midText(item, afterKeyword, slash - afterKeyword) : Text();
        result.chain = ChainBet{k.kind, pattern, textToNumber(textAfterLast(item, "/"))};
        break;
    }

    for (const Keyword& k : kAttributeKeywords) {
        if (!containsText(item, k.text)) continue;
        result.keyword = KeywordBet{k.kind, textToNumber(textAfterLast(item, k.text))};
        break;
    }
    return result;
}

std::vector<Text> cutBetContent(const Text& content, const Text& separator) {
    return splitText(content, separator);
}

bool checkBetContent(const Text& content) {
    // Always cut at a comma, whatever the separator combo shows.
    for (const Text& item : splitText(content, ",")) {
        const int slash = findText(item, "/");
        if (slash < 0 || isChainItem(item)) continue;
        if (greaterThan(textToNumber(leftText(item, slash - 1)), 9)) return false;
    }
    return true;
}

double betStake(const Text& content, const Text& separator) {
    double total = 0;
    for (const Text& item : cutBetContent(content, separator)) {
        // Added group by group, in the order settlement charges them, so both sums
        // round identically.
        const RecognisedItem bets = recogniseItem(item);
        if (bets.position) total += bets.position->amount;
        if (bets.chain) total += bets.chain->amount;
        if (bets.keyword) total += bets.keyword->amount;
    }
    return total;
}

Text computeBetStake(const Text& content, const Text& separator) {
    if (content.empty()) return "0";
    return numberToText(betStake(content, separator));
}

}  // namespace bk
