#pragma once
// The host window "Server": never shown, it owns the game host for the life of the program.

#include <QWidget>
#include <functional>

namespace zb {

class TServer;
namespace rules {
class Random;
}

class ServerWindow : public QWidget {
    Q_OBJECT
public:
    ServerWindow(std::function<int()> botSpeed, rules::Random& random, QWidget* parent = nullptr);
    ~ServerWindow() override;

    TServer& server() { return *server_; }

private:
    TServer* server_ = nullptr;
};

} // namespace zb
