#pragma once

#include <expected>
#include <functional>

#include "platform/MessageService.h"

namespace velantor {

// Why a form rule did not do what the user asked, with the box that tells the user: the
// rule returns it and its caller (the window, the command-line tool) shows it. `Reason` is
// the rule's own enumeration, one value per refusal the user can meet.
template <class Reason> struct Refusal {
    Reason reason;
    // What the user is told; an empty text when the refusal needs no word.
    Message message;
};

template <class Reason> using RuleResult = std::expected<void, Refusal<Reason>>;

template <class Reason> std::unexpected<Refusal<Reason>> refuse(Reason reason, Message message = {}) {
    return std::unexpected(Refusal<Reason>{reason, std::move(message)});
}

// Shows a refusal's message, if it has one, through the caller's message service.
template <class Reason> void tell(MessageService& messages, const RuleResult<Reason>& result) {
    if (!result && !result.error().message.text.isEmpty())
        messages.show(result.error().message);
}

// A question a rule cannot go on without (a Yes/No confirmation): true for Yes.
using Confirm = std::function<bool(const Message& question)>;

// The confirmation a caller with a message service gives: the question in a box, Yes.
inline Confirm confirmThrough(MessageService& messages) {
    return [&messages](const Message& question) { return messages.show(question) == MessageAnswer::Yes; };
}

} // namespace velantor
