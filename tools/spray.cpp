#include "tools/spray.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>

#include "document/numeric.h"

namespace gs {

namespace {

std::uint64_t SplitMix(std::uint64_t& s) {
  std::uint64_t z = (s += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

}  // namespace

void ClockSeededRandom::Reseed(double seed) {
  std::uint64_t bits = 0;
  static_assert(sizeof(bits) == sizeof(seed));
  std::memcpy(&bits, &seed, sizeof(bits));
  state_ ^= bits * 0xd6e8feb86659fd93ULL;
  SplitMix(state_);
}

double ClockSeededRandom::Next() {
  // 53 random bits: a value in [0, 1) that can never round up to 1.
  return static_cast<double>(SplitMix(state_) >> 11) * 0x1.0p-53;
}

double SecondsSinceMidnight() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const double frac = duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + frac;
}

void SprayBurst(Surface& surface, int x, int y, Color c, int size, RandomSource& random,
                const std::function<double()>& clock) {
  random.Reseed(clock ? clock() : 0.0);
  const int d = SprayDiameterFor(size);
  const int dots = SprayDotCount(size);
  for (int k = 0; k < dots; ++k) {
    const double angle = random.Next() * 6.283185308;
    const int r = Nearest(random.Next() * d / 2);
    surface.SetPixelV(Nearest(x + r * std::cos(angle)), Nearest(y + r * std::sin(angle)), c);
  }
}

}  // namespace gs
