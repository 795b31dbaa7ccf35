#include "store/engine/DerivedKeyCache.h"

#include <sodium.h>

namespace dayvell::engine {

DerivedKeyCache::Entry::Entry(std::string_view forPassword, std::string_view withSalt, MemoCipher::KeyDerivationCost atCost)
    : password(forPassword), salt(withSalt), cost(atCost), key(MemoCipher::derive(forPassword, withSalt, atCost))
{
}

DerivedKeyCache::Entry::~Entry()
{
    sodium_memzero(password.data(), password.size());
}

const MemoCipher& DerivedKeyCache::keyFor(std::string_view password, std::string_view salt,
                                          MemoCipher::KeyDerivationCost cost)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->password == password && it->salt == salt && it->cost == cost) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front().key;
        }
    }
    entries_.emplace_front(password, salt, cost);
    if (entries_.size() > kCapacity)
        entries_.pop_back();
    return entries_.front().key;
}

}  // namespace dayvell::engine
