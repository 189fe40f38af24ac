// Receiving 100 programs from the instrument simulator through the in-process virtual
// ports, with zero latency: the whole receive loop (request, reply on the cable thread,
// hand-over, broadcast, store) per program, and what it puts on the wire.
//
// Counters:
//   s_per_program          wall time per program received
//   requests_per_object    messages the plug-in sent / objects received
//   wire_per_payload_byte  bytes in both directions (requests and replies, F0..F7)
//                          / record payload bytes (20-byte name + data)
//   floor_per_payload_byte what any exchange has to carry for the same records: the
//                          name, the data packed seven bits to the byte and one chunk
//                          reply frame per chunk of at most 2048 bytes

#include "BenchRig.h"
#include "transfer/TransferMailbox.h"
#include "transfer/ReceiveTransfer.h"
#include "plugin/ControllerState.h"
#include "sim/ObjectMemory.h"

#include <benchmark/benchmark.h>

namespace
{
    using zd8sim::ObjectMemory;

    constexpr int programType = ObjectMemory::typeProgram;
    constexpr int firstId = 4096;
    constexpr int programCount = 100;
    constexpr int lastId = firstId + programCount - 1;

    // A chunk reply without its data: F0 07 46 01 00, 5A 01 00 tL tH iL iH o0 o1 o2 l0 l1 l2,
    // then checksum, 00, F7.
    constexpr size_t chunkReplyFrameBytes = 5 + 13 + 3;

    /** Bytes of one object's floor: name, packed data and a frame per chunk. */
    size_t floorBytes (size_t dataSize)
    {
        size_t bytes = ObjectMemory::nameLength;
        for (size_t offset = 0; offset < dataSize; offset += ObjectMemory::maxChunkLength)
        {
            const size_t n = std::min ((size_t) ObjectMemory::maxChunkLength, dataSize - offset);
            bytes += n / 7 * 8 + (n % 7 != 0 ? n % 7 + 1 : 0) + chunkReplyFrameBytes;
        }
        return bytes;
    }

    /** Lets the instrument answer and the message thread take each answer until the
        loop has finished (false if it got stuck). Message thread. */
    bool receiveUntilFinished (zd8::ReceiveTransfer& bar, zd8::TransferMailbox& fifo, zd8sim::InstrumentSimulator& simulator)
    {
        for (int step = 0; step < 100 * programCount && bar.isRunning(); ++step)
        {
            if (! simulator.waitUntilHandled() || ! simulator.waitUntilDelivered())
                return false;
            fifo.dispatchPendingMessages();
        }
        return ! bar.isRunning();
    }

    void BM_TransferReceive100Programs (benchmark::State& state)
    {
        juce::ScopedJuceInitialiser_GUI juce;
        InstrumentBenchRig rig;
        zd8::ControllerState hub (rig.environment);
        auto& fifo = hub.getMailbox();

        // The instrument's own first 100 programs, copied into the user range: real
        // sizes and real bytes.
        auto& memory = rig.simulator.getMemory();
        ObjectMemory shadow (false); // answers the same requests again, to count reply bytes
        size_t payloadBytes = 0, floor = 0;
        for (int i = 0; i < programCount; ++i)
        {
            const auto source = memory.getObject (programType, 1 + i);
            if (! source)
            {
                state.SkipWithError ("the simulator has fewer than 100 built-in programs");
                return;
            }
            const std::string name (source->name.begin(), source->name.end());
            memory.setObject (programType, firstId + i, name, source->data);
            shadow.setObject (programType, firstId + i, name, source->data);
            payloadBytes += ObjectMemory::nameLength + source->data.size();
            floor += floorBytes (source->data.size());
        }

        if (! hub.getPorts().isOutputOpen() || ! hub.getPorts().isInputOpen())
        {
            state.SkipWithError ("the simulator's ports are not open");
            return;
        }

        zd8::ReceiveTransfer bar (hub);
        bar.open (programType);
        // What the hub sent at start-up is no part of the transfer.
        rig.simulator.waitUntilHandled();
        rig.simulator.waitUntilDelivered();
        fifo.dispatchPendingMessages();

        std::vector<std::vector<juce::uint8>> sent;
        for (auto _ : state)
        {
            state.PauseTiming();
            rig.simulator.clearReceived();
            bar.setFromText (juce::String (firstId));
            bar.setToText (juce::String (lastId));
            state.ResumeTiming();

            bar.start();
            if (! receiveUntilFinished (bar, fifo, rig.simulator))
            {
                state.SkipWithError ("the receive loop got stuck");
                return;
            }

            state.PauseTiming();
            sent.clear();
            for (auto& r : rig.simulator.getReceived())
                if (! r.partial)
                    sent.push_back (r.bytes);
            state.ResumeTiming();
        }

        // The last receive, as it went over the wire.
        size_t wireBytes = 0;
        for (auto& request : sent)
        {
            wireBytes += request.size();
            for (auto& reply : shadow.handleMessage (request.data(), request.size()))
                wireBytes += reply.size();
        }

        state.counters["s_per_program"] = benchmark::Counter (programCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
        state.counters["requests_per_object"] = (double) sent.size() / programCount;
        state.counters["wire_per_payload_byte"] = (double) wireBytes / (double) payloadBytes;
        state.counters["floor_per_payload_byte"] = (double) floor / (double) payloadBytes;
        state.counters["payload_bytes_per_program"] = (double) payloadBytes / programCount;
    }
}

// The loop waits on the cable threads: wall time is the honest measure.
BENCHMARK (BM_TransferReceive100Programs)->UseRealTime()->Unit (benchmark::kMillisecond);
