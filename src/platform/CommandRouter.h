#pragma once

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

// What a command's update handler decides for the menu items, buttons and
// keys that carry the command. A command starts enabled and unchecked once a
// target claims it; a command that no target claims is disabled.
struct CommandState {
    bool enabled = false;
    bool checked = false;
    std::optional<QString> text; // a new item text, when the handler sets one
};

// A participant in command routing: the view, the frame or the application.
class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // Runs the command; true when this target handled it.
    virtual bool onCommand(int id) = 0;
    // True when this target handles the command; it may then adjust the state
    // (which arrives enabled and unchecked) by its own rules.
    virtual bool onUpdateCommand(int id, CommandState& state) = 0;
};

// Sends command ids to an ordered list of targets (view, then frame, then
// application): the first target that claims a command handles it and decides
// its state.
class CommandRouter {
  public:
    // Replaces the targets; the first gets each command first. Targets are
    // not owned and must be removed before they are destroyed.
    void setTargets(std::vector<CommandTarget*> targets);
    void addTarget(CommandTarget* target);
    void removeTarget(CommandTarget* target);
    const std::vector<CommandTarget*>& targets() const { return targets_; }

    // The state of the command as its handler decides it; disabled when no
    // target claims it.
    CommandState query(int id) const;

    // Runs the command unless it is disabled. True when a target ran it.
    // Handlers may change the targets while they run.
    bool execute(int id);

  private:
    std::vector<CommandTarget*> targets_;
};

// A command target built from a table of handlers, the way a message map
// binds ids to member functions.
class CommandMap : public CommandTarget {
  public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CommandState&)>;
    using RangeHandler = std::function<void(int id)>;
    using RangeUpdateHandler = std::function<void(int id, CommandState&)>;

    // Binds one id. Without an update handler the command is always enabled.
    void on(int id, Handler handler, UpdateHandler update = {});
    // An update handler alone: the command is claimed (and shown in the state
    // the handler gives) but running it does nothing here.
    void onUpdate(int id, UpdateHandler update);
    // Binds every id from first to last, inclusive.
    void onRange(int first, int last, RangeHandler handler, RangeUpdateHandler update = {});

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  private:
    struct Entry {
        Handler handler;
        UpdateHandler update;
    };
    struct Range {
        int first;
        int last;
        RangeHandler handler;
        RangeUpdateHandler update;
    };
    std::map<int, Entry> entries_;
    std::vector<Range> ranges_;
};
