#include "PhaserEffect.h"

namespace corvane
{

void PhaserEffect::prepare (float) {}
void PhaserEffect::setRate (float) {}
void PhaserEffect::setMode (int, float) {}
void PhaserEffect::process (Float4&) noexcept {}

} // namespace corvane
