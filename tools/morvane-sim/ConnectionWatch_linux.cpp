// Linux only: asks the ALSA sequencer or the JACK server who is connected
// to a port.
#include "ConnectionWatch.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <cstdio>

namespace morvane::sim {

class ConnectionWatch::Service {
public:
    virtual ~Service() = default;
    virtual std::optional<bool> connected() = 0;
    virtual std::optional<std::string> portName() const { return std::nullopt; }
};

namespace {

class JackService final : public ConnectionWatch::Service {
public:
    explicit JackService(std::string fullPortName) : portName_(std::move(fullPortName))
    {
        client_ = jack_client_open("morvane-sim watch", JackNoStartServer, nullptr);
    }
    ~JackService() override
    {
        if (client_) jack_client_close(client_);
    }
    std::optional<bool> connected() override
    {
        if (!client_) return std::nullopt;
        jack_port_t* port = jack_port_by_name(client_, portName_.c_str());
        return port && jack_port_connected(port) > 0;
    }
    std::optional<std::string> portName() const override
    {
        if (!client_) return std::nullopt;
        return portName_;
    }

private:
    std::string portName_;
    jack_client_t* client_ = nullptr;
};

class AlsaService final : public ConnectionWatch::Service {
public:
    AlsaService(std::string clientName, std::string portName)
        : clientName_(std::move(clientName)), portName_(std::move(portName))
    {
        if (snd_seq_open(&seq_, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) seq_ = nullptr;
    }
    ~AlsaService() override
    {
        if (seq_) snd_seq_close(seq_);
    }
    std::optional<bool> connected() override
    {
        if (!seq_) return std::nullopt;
        auto address = findPort();
        if (!address) return false;
        snd_seq_query_subscribe_t* query;
        snd_seq_query_subscribe_alloca(&query);
        snd_seq_query_subscribe_set_root(query, &*address);
        snd_seq_query_subscribe_set_type(query, SND_SEQ_QUERY_SUBS_READ);
        snd_seq_query_subscribe_set_index(query, 0);
        return snd_seq_query_port_subscribers(seq_, query) == 0;
    }

private:
    std::optional<snd_seq_addr_t> findPort()
    {
        snd_seq_client_info_t* client;
        snd_seq_port_info_t* port;
        snd_seq_client_info_alloca(&client);
        snd_seq_port_info_alloca(&port);
        snd_seq_client_info_set_client(client, -1);
        while (snd_seq_query_next_client(seq_, client) >= 0) {
            if (clientName_ != snd_seq_client_info_get_name(client)) continue;
            snd_seq_port_info_set_client(port, snd_seq_client_info_get_client(client));
            snd_seq_port_info_set_port(port, -1);
            while (snd_seq_query_next_port(seq_, port) >= 0)
                if (portName_ == snd_seq_port_info_get_name(port)) return *snd_seq_port_info_get_addr(port);
        }
        return std::nullopt;
    }

    std::string clientName_;
    std::string portName_;
    snd_seq_t* seq_ = nullptr;
};

}  // namespace

std::string unusedClientName(RtMidi::Api api, const std::string& wanted)
{
    if (api != RtMidi::UNIX_JACK) return wanted;
    jack_client_t* probe = jack_client_open("morvane-sim probe", JackNoStartServer, nullptr);
    if (!probe) return wanted;
    std::string name = wanted;
    for (int number = 1; number < 100; ++number) {
        char* taken = jack_get_uuid_for_client_name(probe, name.c_str());
        if (!taken) break;
        jack_free(taken);
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, "-%02d", number);
        name = wanted + suffix;
    }
    jack_client_close(probe);
    return name;
}

ConnectionWatch::ConnectionWatch(RtMidi::Api api, std::string clientName, std::string portName)
{
    if (api == RtMidi::UNIX_JACK)
        service_ = std::make_unique<JackService>(clientName + ":" + portName);
    else if (api == RtMidi::LINUX_ALSA)
        service_ = std::make_unique<AlsaService>(std::move(clientName), std::move(portName));
}

ConnectionWatch::~ConnectionWatch() = default;

std::optional<bool> ConnectionWatch::connected()
{
    if (!service_) return std::nullopt;
    return service_->connected();
}

std::optional<std::string> ConnectionWatch::portName() const
{
    if (!service_) return std::nullopt;
    return service_->portName();
}

}  // namespace morvane::sim
