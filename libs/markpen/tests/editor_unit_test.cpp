// The editor and adjuster over a document of the tests' own, where hit codes
// and objects can be given that a real document would not produce.
#include "markpen.h"
#include "paint_handle.h"
#include "renderer_fixture.h"
#include "shape_editor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using markpen::detail::ShapeEditor;
using markpen::test::FakeFrame;
using markpen::test::RendererFixture;

class FakeEditTarget : public FakeFrame {
public:
    int32_t hit_code = ANA_ALL;
    std::string hit_text;
    std::vector<std::string> added;
    std::vector<std::pair<std::string, std::string>> updates;
    std::vector<std::pair<int32_t, int32_t>> cursor_moves;

    bool add_ana(const std::string& text) override
    {
        added.push_back(text);
        return true;
    }
    bool get_hit_ana(int32_t, int32_t, AnaType& code, std::string& text) override
    {
        if (hit_code == ANA_ALL) return false;
        code = static_cast<AnaType>(hit_code);
        text = hit_text;
        return true;
    }
    bool ana_set_select(const std::string&) override { return true; }
    bool update_ana_size(const std::string& old_text, const std::string& new_text) override
    {
        updates.emplace_back(old_text, new_text);
        return true;
    }
    bool ana_set_cursor_pos(const std::string&, int32_t x, int32_t y) override
    {
        cursor_moves.emplace_back(x, y);
        return true;
    }
};

struct EditorFixture : RendererFixture {
    FakeEditTarget* target;
    std::unique_ptr<ShapeEditor> editor;

    EditorFixture()
    {
        auto fake = std::make_unique<FakeEditTarget>();
        target = fake.get();
        editor = std::make_unique<ShapeEditor>(std::move(fake));
        editor->set_renderer(renderer.get());
        set_frame(200, 150);
    }

    // Pressed at `from`, dragged to `to`, not released.
    void press_drag(int mode, std::pair<int, int> from, std::pair<int, int> to)
    {
        editor->set_mode(mode);
        editor->mouse_move(from.first, from.second);
        editor->mouse_down(from.first, from.second);
        editor->mouse_move(to.first, to.second);
    }
};

TEST(editor, overlay_text_while_drawing)
{
    struct Case {
        int mode;
        std::pair<int, int> from, to;
        const char* overlay;
    };
    using namespace markpen::detail;
    for (const Case& c : std::vector<Case>{
             {kAddRect, {10, 10}, {40, 10}, ""},
             {kAddRect, {100, 100}, {50, 40}, "R:50,40;100,100;-"},
             {kAddLine, {10, 10}, {10, 10}, ""},
             {kAddLine, {30, 20}, {10, 10}, "L:30,20;10,10;-"},
             {kAddEllipse, {50, 50}, {53, 54}, "E:45,45;55,55;-"},
             {kAddPoint, {30, 40}, {33, 44}, "P:33,44;-"},
             {kAddDelete, {30, 40}, {60, 80}, ""},
             // Nothing under the pointer: nothing is reshaped.
             {kAddNone, {30, 40}, {60, 80}, ""},
         }) {
        SCOPED_TRACE(c.overlay);
        EditorFixture f;
        f.press_drag(c.mode, c.from, c.to);
        EXPECT_EQ(f.editor->in_progress_ana(), c.overlay);
    }

    // A polygon shows its nodes and the rubber band, pressed or not.
    EditorFixture f;
    f.editor->set_mode(kAddPolygon);
    f.editor->mouse_down(10, 10);
    f.editor->mouse_up(10, 10);
    f.editor->mouse_move(50, 60);
    EXPECT_EQ(f.editor->in_progress_ana(), "A:10,10;50,60;-");
    f.editor->mouse_down(50, 60);
    f.editor->mouse_move(70, 20);
    EXPECT_EQ(f.editor->in_progress_ana(), "A:10,10;50,60;70,20;-");
    f.editor->mouse_double_clicked();
    EXPECT_EQ(f.editor->in_progress_ana(), "");
    EXPECT_TRUE(f.target->added.empty());
}

TEST(editor, update_draws_the_shape_being_drawn)
{
    auto frame = std::make_unique<FakeFrame>();
    frame->bits.assign(200u * 150u, 0x00202020u);
    auto target = std::make_unique<FakeEditTarget>();
    void* h = nullptr;
    ASSERT_TRUE(markpen::detail::create_paint_handle(h, nullptr, std::move(frame), std::move(target)));
    ASSERT_TRUE(markpen_set_image_size(h, 200, 150));
    ASSERT_TRUE(markpen_add_rect_ana(h));
    ASSERT_TRUE(markpen_mouse_down(h, 20, 20));
    ASSERT_TRUE(markpen_mouse_move(h, 80, 60));
    ASSERT_TRUE(markpen_update(h, true, true));
    std::vector<unsigned char> bits(200u * 150u * 4u);
    unsigned int length = static_cast<unsigned int>(bits.size());
    ASSERT_TRUE(markpen_get_bits(h, bits.data(), length));
    auto at = [&](int x, int y) {
        uint32_t v = 0;
        std::memcpy(&v, &bits[(static_cast<size_t>(y) * 200 + x) * 4], 4);
        return v & 0x00ffffffu;
    };
    EXPECT_EQ(at(50, 20), 0x00ffff00u);  // yellow top edge
    EXPECT_EQ(at(50, 40), 0x00202020u);  // inside stays the frame
    // Released: the overlay is gone at the next update.
    ASSERT_TRUE(markpen_mouse_up(h, 80, 60));
    ASSERT_TRUE(markpen_update(h, true, true));
    ASSERT_TRUE(markpen_get_bits(h, bits.data(), length));
    EXPECT_EQ(at(50, 20), 0x00202020u);
    ASSERT_TRUE(markpen_uninit(h));
}

TEST(adjuster, press_on_an_object_without_enough_nodes_changes_nothing)
{
    EditorFixture f;
    f.target->hit_code = 10;
    f.target->hit_text = "L:10,10;50,50;-";
    f.press_drag(markpen::detail::kAddNone, {30, 30}, {40, 35});
    f.editor->mouse_up(40, 35);
    ASSERT_EQ(f.target->updates.size(), 1u);
    EXPECT_EQ(f.target->updates[0].second, "L:20,15;60,55;-");

    // The next object has one node: its press takes no geometry, so the drag
    // shows nothing and the release writes nothing into it.
    f.target->hit_text = "L:5,5;-";
    f.press_drag(markpen::detail::kAddNone, {5, 5}, {25, 25});
    EXPECT_EQ(f.editor->in_progress_ana(), "");
    f.editor->mouse_up(25, 25);
    EXPECT_EQ(f.target->updates.size(), 1u);

    // A release with no press before it does nothing either.
    f.target->hit_text = "L:10,10;50,50;-";
    f.editor->mouse_move(30, 30);
    f.editor->mouse_up(60, 60);
    EXPECT_EQ(f.target->updates.size(), 1u);
}

TEST(adjuster, cursor_tick_across_the_line)
{
    struct Case {
        const char* line;
        std::pair<int, int> to;
        const char* tick;
    };
    for (const Case& c : std::vector<Case>{
             {"L:10,50;110,50;-", {60, 70}, "L:60,46;60,54;-"},
             {"L:50,10;50,110;-", {70, 60}, "L:46,60;54,60;-"},
             {"L:10,10;110,110;-", {60, 60}, "L:56,64;64,56;-"},
             // Along the line only: the tick stops at its end.
             {"L:10,50;110,50;-", {190, 50}, "L:110,46;110,54;-"},
             // Two coincident nodes give no direction: no tick, no fault.
             {"L:50,50;50,50;-", {60, 60}, "L:50,50;50,50;-"},
         }) {
        SCOPED_TRACE(c.line);
        EditorFixture f;
        f.target->hit_code = 13;
        f.target->hit_text = c.line;
        f.press_drag(markpen::detail::kAddNone, {30, 50}, c.to);
        EXPECT_EQ(f.editor->in_progress_ana(), c.tick);
        f.editor->mouse_up(c.to.first, c.to.second);
        ASSERT_EQ(f.target->cursor_moves.size(), 1u);
        EXPECT_EQ(f.target->cursor_moves[0], c.to);
        EXPECT_TRUE(f.target->updates.empty());
    }
}

}  // namespace
