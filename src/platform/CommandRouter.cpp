#include "CommandRouter.h"

#include <algorithm>

void CommandRouter::setTargets(std::vector<CommandTarget*> targets) {
    targets_ = std::move(targets);
    std::erase(targets_, nullptr);
}

void CommandRouter::addTarget(CommandTarget* target) {
    if (target && std::find(targets_.begin(), targets_.end(), target) == targets_.end())
        targets_.push_back(target);
}

void CommandRouter::removeTarget(CommandTarget* target) {
    std::erase(targets_, target);
}

CommandState CommandRouter::query(int id) const {
    // A copy, so that an update handler may change the routing safely.
    const std::vector<CommandTarget*> targets = targets_;
    for (CommandTarget* target : targets) {
        CommandState state;
        state.enabled = true;
        if (target->onUpdateCommand(id, state))
            return state;
    }
    return CommandState{};
}

bool CommandRouter::execute(int id) {
    if (!query(id).enabled)
        return false;
    const std::vector<CommandTarget*> targets = targets_;
    for (CommandTarget* target : targets) {
        // A handler of an earlier target may have removed this one.
        if (std::find(targets_.begin(), targets_.end(), target) == targets_.end())
            continue;
        if (target->onCommand(id))
            return true;
    }
    return false;
}

void CommandMap::on(int id, Handler handler, UpdateHandler update) {
    entries_[id] = Entry{std::move(handler), std::move(update)};
}

void CommandMap::onUpdate(int id, UpdateHandler update) {
    entries_[id].update = std::move(update);
}

void CommandMap::onRange(int first, int last, RangeHandler handler, RangeUpdateHandler update) {
    ranges_.push_back(Range{first, last, std::move(handler), std::move(update)});
}

bool CommandMap::onCommand(int id) {
    if (const auto found = entries_.find(id); found != entries_.end()) {
        if (!found->second.handler)
            return false;
        // Copied: the handler may rebind its own id while it runs.
        const Handler handler = found->second.handler;
        handler();
        return true;
    }
    for (const Range& range : ranges_) {
        if (id >= range.first && id <= range.last && range.handler) {
            const RangeHandler handler = range.handler;
            handler(id);
            return true;
        }
    }
    return false;
}

bool CommandMap::onUpdateCommand(int id, CommandState& state) {
    if (const auto found = entries_.find(id); found != entries_.end()) {
        if (found->second.update)
            found->second.update(state);
        return true;
    }
    for (const Range& range : ranges_) {
        if (id >= range.first && id <= range.last) {
            if (range.update)
                range.update(id, state);
            return true;
        }
    }
    return false;
}
