#pragma once
// Spray bursts: random dots around a centre, drawn with SetPixelV.
#include <cstdint>
#include <functional>

#include "document/colors.h"
#include "document/surface.h"
#include "tools/tool_table.h"

namespace gs {

// Uniform numbers in [0, 1) with re-seeding, as the spray needs them.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Reseed(double seed) = 0;
  virtual double Next() = 0;
};

// The editor's generator. Re-seeding mixes the seed into the running state
// rather than replacing it, so two bursts seeded from the same clock reading
// (a coarse clock, or two bursts within one tick) still differ.
class ClockSeededRandom : public RandomSource {
 public:
  void Reseed(double seed) override;
  double Next() override;

 private:
  std::uint64_t state_ = 0x853c49e6748fea9bULL;
};

// Seconds since midnight, local time, with the fraction: the seed of every burst.
double SecondsSinceMidnight();

inline constexpr int kSprayTimerMs = 100;

// Number of dots one burst places for spray size s (0..2): 10, 20 or 30.
inline int SprayDotCount(int size) { return 2 * size + SprayDiameterFor(size) + 1; }

// One burst at (x, y): re-seed `random` from `clock`, then for each dot an
// angle and a radius nearest(u x D / 2), the dot at the rounded position.
// Dots outside the surface are dropped.
void SprayBurst(Surface& surface, int x, int y, Color c, int size, RandomSource& random,
                const std::function<double()>& clock);

}  // namespace gs
