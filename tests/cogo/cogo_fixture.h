#pragma once
// The whole program under the driver with a coordinate file of given points, and what the COGO dialogs'
// tests read from the active window: a field's text, whether it carries the bold emphasis, the entities
// of the COGO drawing.

#include <cstdint>
#include <string>
#include <vector>

#include "cogo/cogo_drawing.h"
#include "draw/drawing_model.h"
#include "formats/display_settings.h"
#include "platform/gdi/gdi.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "tests/app/app_fixture.h"

namespace testing_support {

struct StoredPoint {
    uint32_t number;
    double e, n;
};

class CogoDialogTest : public AppTest {
protected:
    // The program with a file of `points`, then Calc > COGO.
    platform::driver::Driver& open_form(const std::vector<StoredPoint>& points)
    {
        auto& d = start();
        d.inspect([&] {
            ASSERT_TRUE(store::coord_create(u"\\My Documents\\Cogo.dat"));
            store::coord_begin_bulk();
            for (const StoredPoint& s : points) {
                store::PointRecord p;
                p.number = s.number;
                p.easting = s.e;
                p.northing = s.n;
                ASSERT_EQ(store::point_store(p, false), 1);
            }
            ASSERT_TRUE(store::coord_end_bulk());
        });
        EXPECT_OK(d.menu("Calc/COGO"));
        EXPECT_OK(d.expect_window("COGO_INPUT"));
        return d;
    }

    std::string text(int id)
    {
        std::u16string t;
        d().inspect([&] { t = platform::ui::item_text(platform::ui::active_window(), id); });
        return platform::text::to_utf8(t);
    }

    double number(int id) { return std::stod(text(id)); }

    bool bold(int id)
    {
        bool is_bold = false;
        d().inspect([&] {
            platform::gdi::FontRef f = platform::ui::font(platform::ui::child_by_id(platform::ui::active_window(), id));
            is_bold = f && platform::gdi::metrics(f).height >= 17;
        });
        return is_bold;
    }

    // Entities of the COGO drawing that are not erased; -1 without the drawing.
    int cogo_entities()
    {
        int count = -1;
        d().inspect([&] {
            const int slot = cogo::cogo_drawing_slot();
            if (slot < 0 || !draw::dwg_slot_in_use(slot))
                return;
            count = 0;
            for (draw::Node* n = draw::dwg_slot(slot).first.get(); n; n = n->next.get())
                count += n->type == draw::kNodeEntity && !n->erased ? 1 : 0;
        });
        return count;
    }

    void set_angle_mode(int mode, int decimals)
    {
        d().inspect([&] {
            formats::set_angle_mode(mode);
            formats::set_angle_decimals(decimals);
        });
    }

    store::PointRecord stored(uint32_t number)
    {
        store::PointRecord p;
        d().inspect([&] {
            if (store::point_read_by_number(number, &p) != 1)
                p = store::PointRecord {};
        });
        return p;
    }
};

}  // namespace testing_support
