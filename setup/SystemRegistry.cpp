#include "setup/SystemRegistry.h"

namespace {
// Placeholder until the registry backends land: no key can be opened.
class NoRegistry : public Registry {
public:
    std::optional<Key> openKey(Key, const QByteArray&, quint32) override { return std::nullopt; }
    bool setValue(Key, const QByteArray&, quint32, const QByteArray&) override { return false; }
};
} // namespace

std::unique_ptr<Registry> makeSystemRegistry() { return std::make_unique<NoRegistry>(); }
