#pragma once
// The network side of the device dialogs: the search of the network, the
// status polls of the known cameras and the listing of a camera's data sets
// for the import wizard. Lives on a thread of its own, so a poll or a search
// never waits behind a long worker task (an import, a report) and never
// blocks the window.
// Threading: lives on the device thread; its slots run there. cancel_*()
// may be called from any thread.

#include "store/records.h"

#include <QObject>

#include <atomic>
#include <string>
#include <vector>

class device_link_obj : public QObject {
    Q_OBJECT
public:
    device_link_obj();

    // Stops a running data set listing at its next request.
    void cancel_data_names(int request) { cancelled_request_.store(request); }

Q_SIGNALS:
    // Cameras that answered a search, with their status; probed addresses
    // and the time the search took.
    void search_finish(std::vector<search_device_info> found,
                       std::vector<device_status_info> status, int probed, double seconds);
    // One status per camera that answered a poll.
    void status_ready(std::vector<device_status_info> status);
    // One data set of the camera asked for in read_data_names: its name on
    // the camera and the text to show.
    void data_name_ready(int request, std::string dir_name, std::string data_name);

public Q_SLOTS:
    // ranges: the setting "device_search_ranges" (empty: the computer's own
    // networks).
    void search(std::string ranges);
    void poll_status(std::vector<search_device_info> devices);
    void read_data_names(int request, search_device_info device);

private:
    std::atomic<int> cancelled_request_{-1};
};
