#pragma once
// The averaged GPS position: a running mean and population standard deviation of the northing, easting
// and elevation of the fixes taken since the averaging started.
//
// Every sample is projected into the UTM zone of the first sample (a surveyor standing near a zone edge
// gets fixes on both sides of it), so the means are of one grid; the mean is converted back to latitude
// and longitude in that zone. Each quantity is kept as its first value plus the running mean of the
// differences from it (Welford's update: d = x - m, m += d / n, S += (x - m) d, sd = sqrt(S / n)), so
// coordinates of a million metres averaged over hours keep their millimetres.

#include <cstdint>

namespace gps {

struct AveragedQuantity {
    double mean = 0.0;
    double deviation = 0.0;  // population standard deviation, >= 0
};

struct GeographicPosition {
    double latitude = 0.0;        // degrees, north-positive
    double longitude_east = 0.0;  // degrees, east-positive, in (-180, 180]
};

class PositionAverage {
public:
    // Adds one fix on WGS84 (degrees north- and east-positive, elevation in metres). Non-finite values are
    // refused (false, nothing changes).
    bool add(double latitude, double longitude_east, double elevation);

    int32_t count() const { return m_count; }
    // The zone (1..60) every sample is projected into; 0 before the first sample.
    int zone() const { return m_zone; }
    // Means and deviations in metres; all zero before the first sample.
    AveragedQuantity northing() const { return result(m_north); }
    AveragedQuantity easting() const { return result(m_east); }
    AveragedQuantity elevation() const { return result(m_elevation); }
    // The mean position converted back from the zone of the samples. REQUIRES: count() > 0.
    GeographicPosition mean_position() const;

private:
    struct Running {
        double origin = 0.0;   // the first sample
        double mean = 0.0;     // of the differences from origin
        double squares = 0.0;  // sum of squared deviations
    };
    void update(Running* r, double x) const;
    AveragedQuantity result(const Running& r) const;

    int32_t m_count = 0;
    int m_zone = 0;
    Running m_north, m_east, m_elevation;
};

}  // namespace gps
