// The messages of a flow model without a window, collected in the order they
// were given instead of shown in a box: the command line prints them, the web
// page shows them once the recalculation has returned, and tests read them.
#pragma once

#include "model/messenger.h"

#include <string>
#include <string_view>
#include <vector>

namespace wavywall {

class MessageList final : public Messenger {
public:
    std::vector<std::u16string> shown;

    void MsgBox(std::u16string_view text) override { shown.emplace_back(text); }
};

} // namespace wavywall
