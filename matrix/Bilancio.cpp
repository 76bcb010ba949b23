#include "Bilancio.h"

#include <algorithm>
#include <cmath>

namespace sestina {

std::uint64_t Bilancio::Adesso() {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(Orologio::now().time_since_epoch()).count());
}

Bilancio Bilancio::DiTempo(Orologio::duration durata) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(durata).count();
    return Bilancio(true, Adesso() + static_cast<std::uint64_t>(std::max<std::int64_t>(0, ns)));
}

Bilancio Bilancio::FinoA(Orologio::time_point fine) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(fine.time_since_epoch()).count();
    return Bilancio(true, static_cast<std::uint64_t>(std::max<std::int64_t>(0, ns)));
}

std::uint64_t Bilancio::restante() const {
    if (m_aTempo) {
        const std::uint64_t ora = Adesso();
        return ora >= m_limite ? 0 : m_limite - ora;
    }
    return m_speso >= m_limite ? 0 : m_limite - m_speso;
}

Bilancio Bilancio::parte(double frazione) const {
    const double quota = std::clamp(frazione, 0.0, 1.0) * static_cast<double>(restante());
    const auto unita = static_cast<std::uint64_t>(std::floor(quota));
    if (m_aTempo)
        return Bilancio(true, Adesso() + unita);
    return Bilancio(false, unita);
}

} // namespace sestina
