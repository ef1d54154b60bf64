// The recording operations of the IR view: each reaches the source only
// when it is a recording player.
#include "sources/ir_player.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_player_progress_bar.h"

IRPlayer* WndIRShow::player() const
{
    return m_ir != nullptr && m_ir->ir_type() == 2 ? static_cast<IRPlayer*>(m_ir) : nullptr;
}

bool WndIRShow::set_player_ctrl(int n_ctrl)
{
    IRPlayer* p = player();
    if (p == nullptr) {
        return false;
    }
    switch (n_ctrl) {
    case 0: return p->check_frame();
    case 1: return p->save_frame();
    case 2: return p->stop();
    default: return false;
    }
}

bool WndIRShow::set_player_speed(double f_speed)
{
    return player() != nullptr && player()->set_speed(static_cast<float>(f_speed));
}

bool WndIRShow::set_player_mode(int n_mode)
{
    if (player() == nullptr) return false;
    player()->set_player_mode(n_mode);
    return true;
}

bool WndIRShow::is_playing() { return player() != nullptr && player()->is_playing(); }

bool WndIRShow::set_player_progress_bar(QObject* bar)
{
    auto* progress = qobject_cast<WndPlayerProgressBar*>(bar);
    if (player() == nullptr || progress == nullptr) return false;
    player()->set_player_progress_bar(progress);
    return true;
}

bool WndIRShow::add_file(const QString& str_path) { return player() != nullptr && player()->add_file(str_path); }
bool WndIRShow::delete_file(const QString& str_path) { return player() != nullptr && player()->delete_file(str_path); }
bool WndIRShow::clear_file_list() { return player() != nullptr && player()->clear_file_list(); }
bool WndIRShow::swap_file(int n_from, int n_to) { return player() != nullptr && player()->swap_file(n_from, n_to); }
bool WndIRShow::restart_play() { return player() != nullptr && player()->restart_play(); }
int WndIRShow::insert_mark(const QString& str_text) { return player() != nullptr ? player()->insert_mark(str_text) : -1; }
bool WndIRShow::remove_mark(int n_frame) { return player() != nullptr && player()->remove_mark(n_frame); }

bool WndIRShow::update_mark(int n_frame, const QString& str_text)
{
    return player() != nullptr && player()->update_mark(n_frame, str_text);
}

QJsonArray WndIRShow::get_all_mark() { return player() != nullptr ? player()->get_all_mark() : QJsonArray(); }
QString WndIRShow::get_file_name() { return m_ir != nullptr ? m_ir->get_file_name() : QString(); }
