// Host application, messages, parameter-change queues, events and the
// component handler as a plug-in uses them.
#include "vst3/hosting/ComponentHandler.h"
#include "vst3/hosting/EventList.h"
#include "vst3/hosting/HostApplication.h"
#include "vst3/hosting/HostMessage.h"
#include "vst3/hosting/ParameterChanges.h"
#include "vst3/sdk/ComponentBase.h"
#include "vst3/sdk/IBStream.h"
#include "vst3/sdk/IPtr.h"

#include <gtest/gtest.h>

#include <string>

using namespace Steinberg;
using namespace Steinberg::Hosting;
using namespace Steinberg::Vst;

TEST(HostingObjects, HostApplicationNameAndInstances) {
    auto host = IPtr<HostApplication>::adopt(new HostApplication(u"Sorvel plughost"));
    auto app = queryInterfacePtr<IHostApplication>(host.get());
    ASSERT_TRUE(app);
    String128 name;
    EXPECT_EQ(app->getName(name), kResultOk);
    EXPECT_EQ(std::u16string(name), u"Sorvel plughost");
    {
        SCOPED_TRACE("a message, as the SDK asks for one");
        TUID cid, iid;
        IMessage::iid.toTUID(cid);
        IMessage::iid.toTUID(iid);
        IMessage* message = nullptr;
        ASSERT_EQ(app->createInstance(cid, iid, reinterpret_cast<void**>(&message)), kResultOk);
        EXPECT_EQ(message->getMessageID(), nullptr);
        message->setMessageID("TextMessage");
        EXPECT_STREQ(message->getMessageID(), "TextMessage");
        ASSERT_NE(message->getAttributes(), nullptr);
        EXPECT_EQ(message->release(), 0u) << "the caller holds the only reference";
    }
    {
        SCOPED_TRACE("anything else is refused");
        TUID cid, iid;
        IBStream::iid.toTUID(cid);
        IBStream::iid.toTUID(iid);
        void* obj = &obj;
        EXPECT_EQ(app->createInstance(cid, iid, &obj), kResultFalse);
        EXPECT_EQ(obj, nullptr);
    }
}

TEST(HostingObjects, AttributeListAndTextMessages) {
    auto message = IPtr<HostMessage>::adopt(new HostMessage);
    IAttributeList* list = message->getAttributes();
    EXPECT_EQ(list->setInt("n", -5), kResultOk);
    EXPECT_EQ(list->setFloat("f", 0.25), kResultOk);
    EXPECT_EQ(list->setString("s", u"h\u00E9llo"), kResultOk);
    const uint8 blob[3] = {1, 2, 3};
    EXPECT_EQ(list->setBinary("b", blob, 3), kResultOk);
    int64 n = 0;
    double f = 0;
    EXPECT_EQ(list->getInt("n", n), kResultOk);
    EXPECT_EQ(n, -5);
    EXPECT_EQ(list->getFloat("f", f), kResultOk);
    EXPECT_EQ(f, 0.25);
    EXPECT_EQ(list->getFloat("n", f), kResultFalse) << "types are not converted";
    EXPECT_EQ(list->getInt("missing", n), kResultFalse);
    {
        SCOPED_TRACE("string sizes are in bytes and the copy stays terminated");
        TChar text[8];
        EXPECT_EQ(list->getString("s", text, sizeof text), kResultOk);
        EXPECT_EQ(std::u16string(text), u"h\u00E9llo");
        EXPECT_EQ(list->getString("s", text, 6), kResultOk);
        EXPECT_EQ(std::u16string(text), u"h\u00E9");
        EXPECT_EQ(list->getString("s", text, 1), kResultFalse);
    }
    const void* data = nullptr;
    uint32 size = 0;
    EXPECT_EQ(list->getBinary("b", data, size), kResultOk);
    ASSERT_EQ(size, 3u);
    EXPECT_EQ(static_cast<const uint8*>(data)[2], 3);

    SCOPED_TRACE("ComponentBase hands a TextMessage's text over as UTF-8");
    struct Receiver : ComponentBase {
        tresult receiveText(const char8* text) override {
            received = text;
            return kResultOk;
        }
        std::string received;
    };
    auto receiver = IPtr<Receiver>::adopt(new Receiver);
    message->setMessageID("TextMessage");
    list->setString("Text", u"gr\u00FC\u00DF");
    EXPECT_EQ(receiver->notify(message.get()), kResultOk);
    EXPECT_EQ(receiver->received, "gr\xC3\xBC\xC3\x9F");
    message->setMessageID("Other");
    EXPECT_EQ(receiver->notify(message.get()), kResultFalse);
}

TEST(HostingObjects, ParameterChangeQueues) {
    auto changes = IPtr<ParameterChanges>::adopt(new ParameterChanges);
    IParameterChanges* c = changes.get();
    int32 index = -1;
    IParamValueQueue* gain = c->addParameterData(7, index);
    ASSERT_NE(gain, nullptr);
    EXPECT_EQ(index, 0);
    IParamValueQueue* bypass = c->addParameterData(0x62706173, index);
    EXPECT_EQ(bypass, c->getParameterData(1));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(c->addParameterData(7, index), gain) << "one queue per parameter";
    EXPECT_EQ(index, 0);
    EXPECT_EQ(c->getParameterCount(), 2);
    EXPECT_EQ(c->getParameterData(2), nullptr);
    EXPECT_EQ(c->getParameterData(-1), nullptr);
    EXPECT_EQ(gain->getParameterId(), 7u);
    {
        SCOPED_TRACE("points stay in offset order; an offset already there is replaced");
        int32 at = -1;
        gain->addPoint(100, 0.8, at);
        EXPECT_EQ(at, 0);
        gain->addPoint(0, 0.2, at);
        EXPECT_EQ(at, 0);
        gain->addPoint(100, 0.9, at);
        EXPECT_EQ(at, 1);
        ASSERT_EQ(gain->getPointCount(), 2);
        int32 offset = -1;
        ParamValue value = -1;
        EXPECT_EQ(gain->getPoint(1, offset, value), kResultOk);
        EXPECT_EQ(offset, 100);
        EXPECT_EQ(value, 0.9);
        EXPECT_EQ(gain->getPoint(2, offset, value), kResultFalse);
        EXPECT_EQ(gain->getPoint(-1, offset, value), kResultFalse);
        EXPECT_EQ(value, 0.9);
    }
    changes->clear();
    EXPECT_EQ(c->getParameterCount(), 0);
}

TEST(HostingObjects, EventListAndComponentHandler) {
    auto events = IPtr<EventList>::adopt(new EventList);
    EXPECT_EQ(events->getEventCount(), 0);
    Event e{};
    EXPECT_EQ(events->getEvent(0, e), kResultFalse);
    e.type = Event::kNoteOnEvent;
    e.noteOn.pitch = 60;
    events->addEvent(e);
    Event back{};
    ASSERT_EQ(events->getEvent(0, back), kResultOk);
    EXPECT_EQ(back.noteOn.pitch, 60);

    auto handler = IPtr<ComponentHandler>::adopt(new ComponentHandler);
    int notified = 0;
    handler->setCallback([&](const HandlerCall&) { ++notified; });
    IComponentHandler* h = handler.get();
    h->beginEdit(3);
    h->performEdit(3, 0.75);
    h->endEdit(3);
    h->restartComponent(kLatencyChanged);
    auto h3 = queryInterfacePtr<IComponentHandler3>(handler.get());
    ASSERT_TRUE(h3);
    const ParamID id = 3;
    EXPECT_EQ(h3->createContextMenu(nullptr, &id), nullptr) << "no menus unless offered";
    handler->setOffersContextMenus(true);
    IContextMenu* menu = h3->createContextMenu(nullptr, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->popup(10, 20), kResultOk);
    EXPECT_EQ(menu->release(), 0u);

    const std::vector<HandlerCall> calls = handler->getCalls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(notified, 7);
    EXPECT_EQ(calls[0].kind, HandlerCall::beginEdit);
    EXPECT_EQ(calls[1].kind, HandlerCall::performEdit);
    EXPECT_EQ(calls[1].value, 0.75);
    EXPECT_EQ(calls[2].kind, HandlerCall::endEdit);
    EXPECT_EQ(calls[3].flags, kLatencyChanged);
    EXPECT_EQ(calls[4].id, 3u);
    EXPECT_EQ(calls[5].id, kNoParamId);
    EXPECT_EQ(calls[6].kind, HandlerCall::menuPopup);
    EXPECT_EQ(calls[6].x, 10);
    EXPECT_EQ(calls[6].y, 20);
    EXPECT_EQ(handler->getRefCount(), 2u) << "h3 holds one reference; the menu gave its back";
}
