#pragma once

#include "store/engine/MemoCipher.h"

#include <list>
#include <string>
#include <string_view>

namespace dayvell::engine {

// Table keys derived in this run, by password, salt and cost, so that a
// password handed to a table again costs nothing. A few keys are kept, the
// most recently used first; passwords are wiped when they leave.
class DerivedKeyCache {
public:
    // The key for the password, deriving it when it is not kept yet. The
    // reference stays valid until the next call.
    const MemoCipher& keyFor(std::string_view password, std::string_view salt, MemoCipher::KeyDerivationCost cost);

private:
    static constexpr std::size_t kCapacity = 4;

    struct Entry {
        Entry(std::string_view forPassword, std::string_view withSalt, MemoCipher::KeyDerivationCost atCost);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;

        std::string password;
        std::string salt;
        MemoCipher::KeyDerivationCost cost;
        MemoCipher key;
    };

    std::list<Entry> entries_;
};

}  // namespace dayvell::engine
