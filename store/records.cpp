#include "store/records.h"

int app_type_from_name(const std::string& app_name) {
    if (app_name == "TarvoOrnApp")
        return 0;
    if (app_name == "TarvoSableApp")
        return 1;
    if (app_name == "vuvoraro")
        return 2;
    return 3;
}

void register_meta_types() {
    qRegisterMetaType<std::string>("std::string");
    qRegisterMetaType<std::wstring>("std::wstring");
    qRegisterMetaType<data_info>("data_info");
    qRegisterMetaType<import_data_info>("import_data_info");
    qRegisterMetaType<std::vector<data_info>>("std::vector<data_info>");
    qRegisterMetaType<std::vector<search_device_info>>("std::vector<search_device_info>");
    qRegisterMetaType<QVector<QPointF>>("QVector<QPointF>");
    qRegisterMetaType<std::vector<std::string>>("std::vector<std::string>");
    qRegisterMetaType<std::vector<std::wstring>>("std::vector<std::wstring>");
    qRegisterMetaType<std::vector<int>>("std::vector<int>");
    qRegisterMetaType<std::vector<device_status_info>>("std::vector<device_status_info>");
    qRegisterMetaType<search_device_info>("search_device_info");
    // Pointers handed to the delete and report tasks.
    qRegisterMetaType<std::vector<data_info>*>("std::vector<data_info>*");
    qRegisterMetaType<std::vector<int>*>("std::vector<int>*");
}
