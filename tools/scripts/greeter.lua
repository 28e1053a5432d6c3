-- Greets everyone who joins the channel.
--
-- The greeting can be set in config.bot; %n stands for the name that joined and %c for the channel:
--   [Greeter]
--   Text=Welcome to %c, %n!

local channel = ""

function on_channel(name)
  channel = name
end

function on_join(name, flags, product)
  local text = bot.setting("Greeter", "Text") or "Welcome, %n!"
  -- Functions as replacements, so that a "%" in a name or channel stays as it is.
  text = text:gsub("%%n", function() return name end)
  text = text:gsub("%%c", function() return channel end)
  bot.say(text)
end
