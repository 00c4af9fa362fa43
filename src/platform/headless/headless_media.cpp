#include "platform/headless/headless_media.h"

#include <fstream>
#include <iterator>

#include "platform/bytes.h"

namespace kv {

std::uint32_t HeadlessMusic::open(std::span<const std::string> trackFiles) {
    close();
    if (refuseOpen_ || trackFiles.empty()) return 0;
    tracks_.assign(trackFiles.begin(), trackFiles.end());
    id_ = ++lastId_;
    return id_;
}

void HeadlessMusic::close() {
    playing_ = false;
    tracks_.clear();
    id_ = 0;
}

bool HeadlessMusic::play(int from, int to, WindowHandle notify) {
    const int count = trackCount();
    const bool accepted = id_ != 0 && from >= 1 && from <= count &&
                          !tracks_[static_cast<std::size_t>(from - 1)].empty() &&
                          (to == kMusicToEndOfDisc || (to > from && to <= count));
    plays_.push_back(Play{from, to, accepted});
    if (!accepted) return false;
    if (playing_) this->notify(MCI_NOTIFY_ABORTED);
    playing_ = true;
    notify_ = notify;
    return true;
}

void HeadlessMusic::stop() {
    if (id_ == 0) return;
    ++stops_;
    if (!playing_) return;
    playing_ = false;
    notify(MCI_NOTIFY_ABORTED);
}

bool HeadlessMusic::finishTrack() {
    if (!playing_) return false;
    playing_ = false;
    notify(MCI_NOTIFY_SUCCESSFUL);
    return true;
}

void HeadlessMusic::setVolume(std::uint32_t leftRight) {
    volume_ = leftRight;
    volumes_.push_back(leftRight);
}

void HeadlessMusic::notify(WParam code) {
    if (notify_ != 0)
        notices_.push_back(InputEvent{MM_MCINOTIFY, code, static_cast<LParam>(id_), notify_});
}

std::uint32_t HeadlessVideo::open(const std::string& hostPath, std::uint32_t& error) {
    close();
    error = 0;
    std::ifstream in(hostPath, std::ios::binary);
    const std::vector<std::uint8_t> head((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    // RIFF, size, "AVI ", then LIST hdrl with the main header "avih" at 24; width and height
    // are its ninth and tenth words.
    ByteReader r(head);
    const std::uint32_t riff = r.u32();
    r.skip(4);
    const std::uint32_t avi = r.u32();
    r.skip(12);
    const std::uint32_t avih = r.u32();
    r.skip(36);
    const std::uint32_t w = r.u32();
    const std::uint32_t h = r.u32();
    if (!r.ok() || riff != 0x46464952u || avi != 0x20495641u || avih != 0x68697661u || w == 0 ||
        h == 0 || w > 4096 || h > 4096) {
        error = kVideoErrorUnreadable;
        return 0;
    }
    id_ = ++lastId_;
    path_ = hostPath;
    opened_.push_back(hostPath);
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    audio_ = true;
    return id_;
}

void HeadlessVideo::close() {
    playing_ = false;
    id_ = 0;
}

bool HeadlessVideo::sourceSize(int& width, int& height) {
    if (id_ == 0) return false;
    width = width_;
    height = height_;
    return true;
}

bool HeadlessVideo::play(WindowHandle notify) {
    if (id_ == 0 || refusePlay_) return false;
    if (playing_) this->notify(MCI_NOTIFY_ABORTED);
    playing_ = true;
    notify_ = notify;
    if (endAtOnce_) finishVideo();
    return true;
}

void HeadlessVideo::stop() {
    if (id_ == 0) return;
    ++stops_;
    if (!playing_) return;
    playing_ = false;
    notify(MCI_NOTIFY_ABORTED);
}

bool HeadlessVideo::finishVideo() {
    if (!playing_) return false;
    playing_ = false;
    notify(MCI_NOTIFY_SUCCESSFUL);
    return true;
}

void HeadlessVideo::notify(WParam code) {
    if (notify_ != 0)
        notices_.push_back(InputEvent{MM_MCINOTIFY, code, static_cast<LParam>(id_), notify_});
}

}  // namespace kv
