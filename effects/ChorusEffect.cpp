#include "ChorusEffect.h"

namespace corvane
{

void ChorusEffect::prepare (float) {}
void ChorusEffect::setMode (int) {}
void ChorusEffect::process (Float4&) noexcept {}

} // namespace corvane
