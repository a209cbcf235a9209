#pragma once
// Orientations of text and symbol references. Callers give an azimuth rotation r (degrees clockwise from
// north); the record stores theta = 90 - r, counter-clockwise from east, in [0, 360). Drawing turns it back
// into an azimuth rotation 90 - theta, in [0, 360).

namespace draw {

// Any finite angle in degrees brought into [0, 360) (fmod, so any number of turns); 0 for a non-finite one.
double normalise_degrees(double degrees);

// The stored orientation of an item turned by the azimuth r.
float stored_orientation(double azimuth_rotation);

// The azimuth rotation (clockwise from north) an item with stored orientation theta is drawn with.
double drawing_rotation(double stored);

}  // namespace draw
