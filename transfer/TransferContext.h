#pragma once

namespace zd8
{

class InstrumentImage;
struct LinkEnvironment;
class InstrumentPorts;
class TransferMailbox;

/** What a transfer needs of the engine that runs it: the image whose stores it reads
    and fills, the ports it sends its requests on, the mailbox the instrument's replies
    arrive in, the timers it times them with, and the flag that tells the engine a transfer is open (while it is, the
    engine hands the instrument's transfer replies to the mailbox).

    The engine's owner implements it; tests may implement it over a bare image and
    ports. Message thread. */
class TransferContext
{
public:
    virtual ~TransferContext() = default;

    virtual InstrumentImage& getImage() noexcept = 0;
    virtual InstrumentPorts& getPorts() noexcept = 0;
    virtual TransferMailbox& getMailbox() noexcept = 0;
    virtual void setTransferFlag (bool on) noexcept = 0;
    /** The clock and timers the transfers time their requests with. */
    virtual const LinkEnvironment& getEnvironment() const noexcept = 0;
};

} // namespace zd8
