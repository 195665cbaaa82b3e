#pragma once

#include <span>

#include <QByteArrayView>

namespace velantor::fuzz {

// One way outside bytes enter the program: a reader or parser fed with whatever a file
// may hold. The fuzzers call these, and the regression test replays every input kept
// under fuzz/corpus/<name>/ through them in the normal build, so an input that once
// broke a reader stays a test. An entry returns normally for any input; a broken
// invariant aborts.
struct FuzzEntry {
    const char* name;
    void (*run)(QByteArrayView input);
};

std::span<const FuzzEntry> fuzzEntries();
// nullptr for an unknown name.
const FuzzEntry* fuzzEntry(const char* name);

} // namespace velantor::fuzz
