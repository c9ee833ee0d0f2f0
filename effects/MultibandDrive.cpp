#include "MultibandDrive.h"

namespace corvane
{

void MultibandDrive::prepare (float) {}
void MultibandDrive::setAmount (float, int) {}
float MultibandDrive::process (float sample, int) noexcept { return sample; }

} // namespace corvane
